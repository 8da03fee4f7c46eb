#!/bin/sh
# Assembles the demo package: common.sh and package.sh followed by a tar archive of the
# product files (Brushwell.exe, uninst.ep and the product's brush data, which
# brings the package above the 1 MiB the installer expects of a package).
#   build_package.sh SOURCE_DIR WORK_DIR OUTPUT
set -eu
source_dir=$1
work=$2
output=$3

rm -rf -- "$work"
mkdir -p -- "$work/res"
cp -- "$source_dir/brushwell.sh" "$work/Brushwell.exe"
program() {
    printf '#!/bin/sh\n'
    cat -- "$source_dir/common.sh" "$1"
}
program "$source_dir/uninst.sh" > "$work/uninst.ep"
chmod 755 -- "$work/Brushwell.exe" "$work/uninst.ep"
# Deterministic brush presets, 20000 lines of 64 characters.
awk 'BEGIN { srand(1789); for (i = 0; i < 20000; i++) {
        line = sprintf("brush%06d", i)
        while (length(line) < 63) line = line sprintf("%x", int(rand() * 16))
        print line } }' > "$work/res/brushes.dat"
(cd -- "$work" && tar --owner=0 --group=0 --mtime=@0 -c -f payload.tar Brushwell.exe uninst.ep res)
{ program "$source_dir/package.sh" && cat -- "$work/payload.tar"; } > "$output.tmp"
chmod 644 -- "$output.tmp"
size=$(wc -c < "$output.tmp")
[ "$size" -ge 1048576 ] || { echo "demo package is only $size bytes" >&2; exit 1; }
mv -- "$output.tmp" "$output"
