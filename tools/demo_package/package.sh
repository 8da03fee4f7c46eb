# Brushwell demo installation package: a shell script with the product files
# appended as a tar archive after the marker line at its end (build_package.sh
# puts common.sh in front of this file and the archive behind it).
#
#   package /S [-console=show] [-dsc=true|false] [-ssc=true|false]
#           [-inslang="code"] [-startupstyle=NonStartup|AutoStartup|UserStartup]
#           [-instdir="folder"] /D=folder
#
# /D= is the last switch; everything after it, joined by single spaces, is the
# folder (a Windows package reads the rest of its raw command line the same way).

desktop=false
menu=false
language=
style=AutoStartup
folder=
silent=false
while [ $# -gt 0 ]; do
    case $1 in
        /S) silent=true ;;
        -console=show) console=true ;;
        -dsc=true) desktop=true ;;
        -ssc=true) menu=true ;;
        -inslang=*) language=${1#-inslang=} ;;
        -startupstyle=*) style=${1#-startupstyle=} ;;
        /D=*) break ;;
    esac
    shift
done
folder=$(rest_of_line /D= "$@")

say "Encode=UTF8"
[ "$silent" = true ] || fail "this demo package installs only silently (/S)"
[ -n "$folder" ] || fail "no target folder (/D=)"
case $folder in
    /*) ;;
    *) fail "the target folder must be an absolute path: $folder" ;;
esac
say "Progress=0.1"

mkdir -p -- "$folder" || fail "cannot create $folder"
payload=$(awk '/^__BRUSHWELL_PAYLOAD__$/ { print NR + 1; exit }' "$0")
[ -n "$payload" ] || fail "the package is damaged"
say "Progress=0.3"
tail -n +"$payload" -- "$0" | tar -x -f - -C "$folder" || fail "cannot unpack into $folder"
say "Progress=0.7"

exe="$folder/Brushwell.exe"
manifest="$folder/install.list"
printf '[Install]\nLanguage=%s\n' "${language:-en-US}" > "$folder/config.ini" ||
    fail "cannot write $folder/config.ini"
tail -n +"$payload" -- "$0" | tar -t -f - > "$manifest" || fail "cannot write $manifest"
printf '%s\n' config.ini install.list >> "$manifest"

# Exec= takes the path in double quotes with ", `, $ and \ escaped; the value
# as a whole escapes \ once more.
exec_path=$(printf '%s' "$exe" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g')
entry() {
    printf '[Desktop Entry]\nType=Application\nName=Brushwell\nComment=Brushwell demo product\n'
    printf 'Exec="%s"\nTerminal=true\nCategories=Graphics;\n' "$exec_path"
}
shortcuts="$folder/shortcuts.list"
: > "$shortcuts"
if [ "$desktop" = true ]; then
    desktop_dir=$(xdg-user-dir DESKTOP 2>/dev/null)
    [ -n "$desktop_dir" ] || desktop_dir="$HOME/Desktop"
    mkdir -p -- "$desktop_dir" && entry > "$desktop_dir/brushwell.desktop" &&
        chmod +x -- "$desktop_dir/brushwell.desktop" &&
        printf '%s\n' "$desktop_dir/brushwell.desktop" >> "$shortcuts" ||
        fail "cannot create the desktop entry"
fi
if [ "$menu" = true ]; then
    menu_dir="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
    mkdir -p -- "$menu_dir" && entry > "$menu_dir/brushwell.desktop" &&
        printf '%s\n' "$menu_dir/brushwell.desktop" >> "$shortcuts" ||
        fail "cannot create the application menu entry"
fi
printf '%s\n' shortcuts.list >> "$manifest"
say "Progress=0.9"

say "InstPath=$folder"
say "ExePath=$exe"
say "UninstEp=$folder/uninst.ep"
say "InstallVersion=1.7.9"
say "StartupStyle=$style"
say "Progress=1"
say "State=Success"
exit 0
__BRUSHWELL_PAYLOAD__
