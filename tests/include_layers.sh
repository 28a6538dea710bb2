#!/bin/sh
# Fails when a source folder includes a header of a folder above it (or of a
# folder beside it), when a folder of src/ has no place in the order, or when
# a folder other than timing/ (and state/, which makes it) holds the run
# state's writer side.
# The order, lowest first; folders on one line sit side by side and never
# include each other.
order='platform
stores
state
services
display
timing deferred
menus
plans statistics background about
settings
startup'

src=${1:?usage: include_layers.sh SRC_DIR}
rank_of() {
    echo "$order" | awk -v f="$1" '{ for (i = 1; i <= NF; i++) if ($i == f) print NR }'
}

for dir in "$src"/*/; do
    folder=$(basename "$dir")
    rank=$(rank_of "$folder")
    if [ -z "$rank" ]; then
        echo "src/$folder has no place in the layer order of $0"
        continue
    fi
    for file in "$dir"*; do
        grep -o '^#include "[a-z_]*/' "$file" | sed 's/#include "//; s#/##' | sort -u | while read -r used; do
            [ "$used" = "$folder" ] && continue
            used_rank=$(rank_of "$used")
            if [ -z "$used_rank" ] || [ "$used_rank" -ge "$rank" ]; then
                echo "src/$folder/$(basename "$file") includes $used/, which is not below $folder"
            fi
        done
    done
done | grep . && exit 1

# The run state's writer side is the timing folder's alone.
grep -rlE 'RunStateWriter|runStateWriter' "$src" | grep -vE "^$src/(state|timing)/" |
    sed 's/^/holds the run state'"'"'s writer side outside src\/timing: /' | grep . && exit 1
exit 0
