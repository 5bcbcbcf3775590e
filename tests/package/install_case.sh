#!/bin/sh
# install_case.sh CMAKE BUILD_DIR DATA_DIR WORK_DIR
# Installs the build into a fresh prefix and uses the installed programs as a
# desktop would: the command-line tool from another folder with the installed
# language files, and the thumbnailer's command line on a construction and on
# damaged files.
cmake=$1
build=$2
data=$3
work=$4
prefix=$work/prefix
fail() {
    printf '%s\n' "$*"
    exit 1
}

rm -rf "$work"
mkdir -p "$work/elsewhere" || fail "cannot make $work"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "install failed: $(cat "$work/install.log")"
for file in bin/kova3d-cli share/kova3d/Languages/English.lng share/kova3d/Languages/Español.lng \
    share/applications/kova3d.desktop share/mime/packages/kova3d.xml \
    share/metainfo/io.github.kova3d.Kova3D.metainfo.xml share/thumbnailers/kova3d.thumbnailer \
    share/icons/hicolor/scalable/apps/kova3d.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-kova3d-construction.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-kova3d-macro.svg; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ ! -e "$prefix/bin/Languages" ] || fail "a Languages folder was installed beside the programs"

# The installed tool, started from elsewhere, reads the installed language files.
cd "$work/elsewhere" || fail "cannot enter $work/elsewhere"
cp "$data/sample.g3d" sample.g3d
output=$("$prefix/bin/kova3d-cli" list sample.g3d --language Español 2>&1) || fail "list failed: $output"
printf '%s\n' "$output" | grep -q '^ 3\. Punto medio \[ A,B \]' || fail "not listed in Spanish: $output"
output=$("$prefix/bin/kova3d-cli" list sample.g3d --language Klingon 2>&1)
[ $? -eq 1 ] || fail "an unknown language was not a usage error: $output"
printf '%s\n' "$output" | grep -q 'English (English.lng), Español (Español.lng)' ||
    fail "the installed languages are not listed: $output"

# The thumbnailer's command line, with %i, %o and %s filled in as a file manager
# does; the output name has no extension, as some file managers give it.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/kova3d.thumbnailer")
[ -n "$exec_line" ] || fail "the thumbnailer has no Exec line"
thumbnail() { # INPUT OUTPUT SIZE; the file names hold no blanks
    command=$(printf '%s\n' "$exec_line" | sed -e "s|%i|$1|g" -e "s|%o|$2|g" -e "s|%s|$3|g")
    set -f
    # shellcheck disable=SC2086
    PATH="$prefix/bin:$PATH" $command >"$work/thumbnail.log" 2>&1
    status=$?
    set +f
    return $status
}
png_number() { # FILE OFFSET: a big-endian 32-bit number
    od -An -tu1 -j "$2" -N4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'
}

cp "$data/showcase.g3d" showcase.g3d
thumbnail "$work/elsewhere/showcase.g3d" "$work/thumbnail" 128 || fail "thumbnail failed: $(cat "$work/thumbnail.log")"
signature=$(od -An -tx1 -N8 "$work/thumbnail" | tr -d ' ')
[ "$signature" = "89504e470d0a1a0a" ] || fail "the thumbnail is not a PNG file ($signature)"
[ "$(png_number "$work/thumbnail" 16)x$(png_number "$work/thumbnail" 20)" = "128x128" ] ||
    fail "the thumbnail is not 128 x 128"

# Damaged files: the tool's own exit for a damaged file, within the time limit,
# no signal, no picture.
head -c 300 "$data/sample.g3d" >truncated.g3d
cp "$data/damaged.g3d" damaged.g3d
cp "$prefix/share/kova3d/Languages/English.lng" text.g3d
for damaged in damaged truncated text; do
    thumbnail "$work/elsewhere/$damaged.g3d" "$work/$damaged-thumbnail" 256
    status=$?
    [ "$status" -eq 4 ] || fail "$damaged.g3d: exit $status, expected 4: $(cat "$work/thumbnail.log")"
    [ ! -e "$work/$damaged-thumbnail" ] || fail "$damaged.g3d: a picture was written"
done
rm -rf "$work"
exit 0
