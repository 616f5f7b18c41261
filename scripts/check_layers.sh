#!/usr/bin/env bash
# Fails when a source of src/ includes a folder its layer may not reach, or when Qt is included
# outside the platform layer and main(). Tests may include anything and are not read.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each folder of src/ (and src/main.cpp) and the folders its sources may include. The order is
# platform < log < model, draw, res < link < update < ui < main, with wizard beside link and
# update; of the siblings only draw reaches model (for the key records).
declare -A allowed=(
    [platform]="platform"
    [log]="platform log"
    [model]="platform log model"
    [draw]="platform log model draw"
    [res]="platform log res"
    [wizard]="platform log model draw res wizard"
    [link]="platform log model draw res link"
    [update]="platform log model draw res link update"
    [ui]="platform log model draw res wizard link update ui"
    [main.cpp]="platform log model draw res wizard link update ui"
)

failures=0
while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    text=${rest#*:}
    layer=${file#src/}
    layer=${layer%%/*}
    if [[ $text =~ \"([^\"/]+)/ ]]; then
        target=${BASH_REMATCH[1]}
    else
        echo "$file:$line: include without its folder: $text"
        failures=$((failures + 1))
        continue
    fi
    if [[ -z ${allowed[$layer]+set} ]]; then
        echo "$file:$line: src/$layer has no row in scripts/check_layers.sh"
        failures=$((failures + 1))
    elif [[ " ${allowed[$layer]} " != *" $target "* ]]; then
        echo "$file:$line: $layer may not include $target ($text)"
        failures=$((failures + 1))
    fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' src || true)

while IFS= read -r hit; do
    echo "$hit: Qt is included only in src/platform and src/main.cpp"
    failures=$((failures + 1))
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' src \
    --exclude-dir=platform | grep -v '^src/main\.cpp:' || true)

if ((failures > 0)); then
    echo "check_layers: $failures include(s) against the layer order"
    exit 1
fi
echo "check_layers: every include follows the layer order"
