#!/usr/bin/env bash
# The program's own logic includes only the standard library, the service interfaces (platform/*.h),
# the shared text rules (common/) and other logic: a stray toolkit, sound or operating-system header
# makes this fail.
# Usage: include_boundary.sh <src folder>
set -euo pipefail
src=$1
status=0
while IFS= read -r line; do
  file=${line%%:*}
  include=${line#*:}
  include=${include#*#include }
  case $include in
    \<*\>) [[ $include =~ ^\<[a-z_0-9]+\>$ ]] && continue ;;
    \"platform/*/*\") ;;
    \"platform/*.h\" | \"common/*\" | \"mixer/*\" | \"settings/*\" | \"startup/*\" | \"window/*\") continue ;;
  esac
  echo "$file: includes $include"
  status=1
done < <(grep -rH '^[[:space:]]*#[[:space:]]*include' "$src"/mixer "$src"/settings "$src"/startup "$src"/window)
exit $status
