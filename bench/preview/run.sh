#!/usr/bin/env bash
# Preview server throughput against nginx and php -S in the same run, on
# loopback only, with wrk:
#   (a) a 100 KB static image: zanfira-cli preview vs nginx (one worker);
#   (b) a page listing 200 products from the project database: an ASP page
#       through ADODB vs an equivalent PHP page reading the same SQLite file.
# Usage: bench/preview/run.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-${ZANFIRA_BUILD_DIR:-$root/build}}"
secs="${2:-10}"
cli="$build/bin/zanfira-cli"
[ -x "$cli" ] || { echo "zanfira-cli non trovato in $build/bin" >&2; exit 1; }

need=()
for p in wrk nginx php-cli php-sqlite3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

work="$(mktemp -d)"
chmod 755 "$work"  # the nginx worker runs as another user
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

project="$work/negozio"
ZANFIRA_HOME="${ZANFIRA_HOME:-$build/programfolder}" "$cli" new "$project" > /dev/null
db="$project/db/database.mdb"
head -c 102400 /dev/urandom > "$project/website/images/bench.gif"
sqlite3 "$db" < "$here/products.sql"
cp "$here/prodotti.asp" "$project/website/asp/prodotti.asp"
mkdir -p "$work/php"
sed "s#@DB@#$db#" "$here/prodotti.php" > "$work/php/prodotti.php"

port_zf=18990; port_nginx=18991; port_php=18992
"$cli" preview "$project" --port "$port_zf" > "$work/preview.log" 2>&1 & pids+=($!)
sed -e "s#@ROOT@#$project/website#" -e "s#@PORT@#$port_nginx#" -e "s#@WORK@#$work#" \
    "$here/nginx.conf" > "$work/nginx.conf"
nginx -c "$work/nginx.conf" -p "$work" & pids+=($!)
php -S "127.0.0.1:$port_php" -t "$work/php" > "$work/php.log" 2>&1 & pids+=($!)
sleep 1.5

check() { curl -sf -o /dev/null "$1" || { echo "non risponde: $1" >&2; exit 1; }; }
check "http://127.0.0.1:$port_zf/images/bench.gif"
check "http://127.0.0.1:$port_nginx/images/bench.gif"
check "http://127.0.0.1:$port_php/prodotti.php"
rows_asp=$(curl -s "http://127.0.0.1:$port_zf/prodotti.asp" | grep -o '<tr>' | wc -l)
rows_php=$(curl -s "http://127.0.0.1:$port_php/prodotti.php" | grep -o '<tr>' | wc -l)
echo "righe: asp=$rows_asp php=$rows_php"

rps() { wrk -t2 -c"$2" -d"${secs}s" "$1" | awk '/Requests\/sec/ {print $2}'; }
img_zf=$(rps "http://127.0.0.1:$port_zf/images/bench.gif" 16)
img_nginx=$(rps "http://127.0.0.1:$port_nginx/images/bench.gif" 16)
page_zf=$(rps "http://127.0.0.1:$port_zf/prodotti.asp" 4)
page_php=$(rps "http://127.0.0.1:$port_php/prodotti.php" 4)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "(a) immagine 100 KB: zanfira $img_zf req/s, nginx $img_nginx req/s, rapporto $(ratio "$img_zf" "$img_nginx") (obiettivo >= 0.50)"
echo "(b) 200 prodotti:    zanfira $page_zf req/s, php $page_php req/s, rapporto $(ratio "$page_zf" "$page_php") (obiettivo >= 0.33)"
