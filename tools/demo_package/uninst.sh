# Brushwell demo uninstaller, left in the install folder as "uninst.ep"
# (build_package.sh puts common.sh in front of this file). The
# installer runs a copy of it from its work folder:
#
#   uninstaller /S [-adminact=..] [-authorizationact=..] [-console=show] _?=folder
#
# _?= is the last switch; everything after it, joined by single spaces, is the
# folder. Only what the package recorded in install.list and shortcuts.list is
# removed, so files the user put into the folder stay.

while [ $# -gt 0 ]; do
    case $1 in
        -console=show) console=true ;;
        _\?=*) break ;;
    esac
    shift
done
folder=$(rest_of_line '_?=' "$@")

say "Encode=UTF8"
[ -n "$folder" ] || fail "no folder to remove (_?=)"
manifest="$folder/install.list"
[ -f "$manifest" ] || fail "no Brushwell installation in $folder"
say "Progress=0.2"

if [ -f "$folder/shortcuts.list" ]; then
    while IFS= read -r shortcut; do
        [ -n "$shortcut" ] && rm -f -- "$shortcut"
    done < "$folder/shortcuts.list"
fi
say "Progress=0.5"

# Files first (the manifest among them), then the folders, deepest first.
entries=$(cat -- "$manifest") || fail "cannot read $manifest"
printf '%s\n' "$entries" | while IFS= read -r entry; do
    case $entry in
        ''|/*|*..*) ;;
        */) ;;
        *) rm -f -- "$folder/$entry" || fail "cannot remove $folder/$entry" ;;
    esac
done || exit 1
printf '%s\n' "$entries" | sort -r | while IFS= read -r entry; do
    case $entry in
        */) rmdir -- "$folder/$entry" 2>/dev/null ;;
    esac
done
rmdir -- "$folder" 2>/dev/null
say "Progress=1"
say "State=Success"
exit 0
