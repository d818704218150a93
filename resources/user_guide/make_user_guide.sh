#!/usr/bin/env bash
# Generates the user guide documents from their HTML sources with LibreOffice
# (Debian: libreoffice-writer-nogui): User_guide.pdf and User_guide.doc from
# User_guide.html, User_guide-中文版.doc from User_guide-中文版.html.
# The outputs are committed; the build only copies them.
set -euo pipefail
cd "$(dirname "$0")"
command -v soffice >/dev/null || { echo "soffice not found: apt-get install libreoffice-writer-nogui" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A profile of our own, so a running LibreOffice of the user is left alone.
profile="file://$work/profile"

convert() {  # source.html filter output-name
    local stem=${1%.html}
    soffice -env:UserInstallation="$profile" --headless --infilter="HTML (StarWriter)" \
        --convert-to "$2" --outdir "$work" "$1" >/dev/null
    local produced
    produced=$(ls "$work"/"$stem".* | grep -v '\.html$' | head -n 1)
    mv "$produced" "$3"
}

convert User_guide.html 'pdf:writer_pdf_Export' User_guide.pdf
convert User_guide.html 'doc:MS Word 97' User_guide.doc
convert User_guide-中文版.html 'doc:MS Word 97' User_guide-中文版.doc
ls -l User_guide.pdf User_guide.doc User_guide-中文版.doc
