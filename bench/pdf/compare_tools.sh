#!/usr/bin/env bash
# Times `orvane-ocr pdf` against `tesseract ... pdf` and ocrmypdf on the same
# A4 page at 300 dpi (48 lines of text rendered by poppler), and prints the
# wall time and output size of each. Usage: compare_tools.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: compare_tools.sh BUILD_DIR [RUNS]}
runs=${2:-3}
ocr=$build/src/cli/orvane-ocr
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{
  printf '%%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n'
  printf '2 0 obj\n<< /Type /Pages /Count 1 /Kids [3 0 R] >>\nendobj\n'
  printf '3 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] '
  printf '/Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>\nendobj\n'
  printf '4 0 obj\n<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman >>\nendobj\n'
  printf '5 0 obj\n<< >>\nstream\nBT /F1 11 Tf 14 TL 60 780 Td\n'
  for i in $(seq 1 48); do
    printf '(Line %d: printers and scanners in plain language, with supply levels and advice.) Tj T*\n' "$i"
  done
  printf 'ET\nendstream\nendobj\ntrailer\n<< /Root 1 0 R >>\n%%%%EOF\n'
} >"$work/source.pdf"
# poppler rebuilds the missing cross-reference table by itself.
pdftoppm -r 300 -scale-to-x 2480 -scale-to-y 3508 -png -singlefile "$work/source.pdf" \
  "$work/page" 2>/dev/null

time_runs() {
  local name=$1 output=$2
  shift 2
  local best=0
  for _ in $(seq 1 "$runs"); do
    rm -f "$output"
    local start took
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    took=$((($(date +%s%N) - start) / 1000000))
    if [ "$best" -eq 0 ] || [ "$took" -lt "$best" ]; then best=$took; fi
  done
  printf '%-40s best of %d: %6d ms  %8d bytes\n' "$name" "$runs" "$best" "$(stat -c %s "$output")"
}

time_runs "orvane-ocr pdf" "$work/orvane.pdf" "$ocr" pdf "$work/page.png" -o "$work/orvane.pdf"
time_runs "tesseract pdf (OMP_THREAD_LIMIT=1)" "$work/tesseract.pdf" \
  env OMP_THREAD_LIMIT=1 tesseract "$work/page.png" "$work/tesseract" -l eng pdf
time_runs "tesseract pdf (default threads)" "$work/tesseract.pdf" \
  tesseract "$work/page.png" "$work/tesseract" -l eng pdf
if command -v ocrmypdf >/dev/null; then
  time_runs "ocrmypdf (default, PDF/A)" "$work/ocrmypdf.pdf" \
    env OMP_THREAD_LIMIT=1 ocrmypdf -l eng --image-dpi 300 "$work/page.png" "$work/ocrmypdf.pdf"
else
  echo "ocrmypdf is not installed: skipped"
fi
