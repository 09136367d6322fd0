#!/bin/sh
# help-links-test.sh: every link and picture of the help pages leads to a
# file of res/help (and to a name in it, after a #); every file the pages
# use, and every page and picture, is in the help file's project
# (corvalin.hhp), as the help compiler takes only those; every page is in
# the contents (toc.hhc) and linked from the first page; every picture is
# shown by a page, at its own width and height.
set -eu
help=$(cd "$(dirname "$0")/../../res/help" && pwd)
failed=0
fail() {
    printf 'help-links-test: %s\n' "$*" >&2
    failed=1
}
# The files the project lists, between [FILES] and the next section.
listed=$(sed -n '/^\[FILES\]/,/^\[/{/^\[/d;/^$/d;p}' "$help/corvalin.hhp" | tr -d '\r')
is_listed() {
    printf '%s\n' "$listed" | grep -qxF "$1"
}

for page in "$help"/*.html "$help/toc.hhc"; do
    name=${page##*/}
    # href="...", src="..." and the contents' value="....html".
    targets=$(grep -o -e 'href="[^"]*"' -e 'src="[^"]*"' -e 'value="[^"]*\.html[^"]*"' "$page" |
        sed 's/^[a-z]*="\(.*\)"$/\1/')
    for target in $targets; do
        case $target in
        http:* | https:* | mailto:*) continue ;;
        esac
        file=${target%%#*}
        [ -n "$file" ] || file=$name
        if [ ! -f "$help/$file" ]; then
            fail "$name: $target: no such file"
            continue
        fi
        is_listed "$file" || fail "$name: $file is not in corvalin.hhp"
        case $target in
        *#*)
            anchor=${target#*#}
            grep -qE "(name|id)=\"$anchor\"" "$help/$file" || fail "$name: $target: no such name in $file"
            ;;
        esac
    done
done

for file in "$help"/*.html "$help"/*.png "$help"/*.css; do
    is_listed "${file##*/}" || fail "${file##*/} is not in corvalin.hhp"
done
for page in "$help"/*.html; do
    name=${page##*/}
    [ "$name" = index.html ] && continue
    grep -qF "value=\"$name\"" "$help/toc.hhc" || fail "$name is not in the contents"
    grep -qF "href=\"$name\"" "$help/index.html" || fail "$name is not linked from index.html"
done

# A PNG's width and height: the first two numbers of its header chunk.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d", $1 * 16777216 + $2 * 65536 + $3 * 256 + $4,
                                                     $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}
for picture in "$help"/*.png; do
    name=${picture##*/}
    tag=$(cat "$help"/*.html | tr '\n' ' ' | grep -o "<img [^>]*src=\"$name\"[^>]*>" | head -n 1)
    if [ -z "$tag" ]; then
        fail "$name is shown by no page"
        continue
    fi
    shown="$(printf '%s' "$tag" | sed -n 's/.* width="\([0-9]*\)".*/\1/p') $(printf '%s' "$tag" |
        sed -n 's/.* height="\([0-9]*\)".*/\1/p')"
    [ "$shown" = "$(png_size "$picture")" ] || fail "$name is $(png_size "$picture"), shown as $shown"
done

[ $failed -eq 0 ] && echo "help-links-test: passed"
exit $failed
