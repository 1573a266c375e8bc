#!/bin/sh
# Puts the game's font in place: Comfortaa Bold from Debian's fonts-comfortaa
# package (SIL Open Font License 1.1), copied unchanged as
# Resources/Fonts/font1.ttf with its licence beside it.
#   tools/install-font.sh [REPOSITORY_ROOT]
set -e
root=${1:-$(dirname "$0")/..}
source_font=/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf
copyright=/usr/share/doc/fonts-comfortaa/copyright
if [ ! -f "$source_font" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y fonts-comfortaa
fi
mkdir -p "$root/Resources/Fonts"
cp "$source_font" "$root/Resources/Fonts/font1.ttf"
{
    echo "Resources/Fonts/font1.ttf is Comfortaa Bold, copied unchanged from the"
    echo "Debian package fonts-comfortaa ($(dpkg-query -W -f='${Version}' fonts-comfortaa 2>/dev/null || echo 'version unknown'))."
    echo "Only the file name differs; the font itself is not modified."
    echo
    echo "Copyright 2008-2017 Johan Aakerlund <aajohan@gmail.com>"
    echo "Reserved Font Name \"Comfortaa\"."
    echo
    echo "This Font Software is licensed under the SIL Open Font License, Version 1.1,"
    echo "whose text follows (as the Debian package carries it)."
    echo
    echo "-----------------------------------------------------------"
    # The licence text of the package's copyright file, without Debian's
    # one-space indent and its "." paragraph marks.
    sed -n '/SIL OPEN FONT LICENSE Version 1.1/,/OTHER DEALINGS IN THE FONT SOFTWARE/p' "$copyright" |
        sed -e 's/^ //' -e 's/^\.$//'
} > "$root/Resources/Fonts/font1-LICENSE.txt"
