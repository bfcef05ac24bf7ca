#!/bin/sh
# The port of the run command's printer: Wine pipes each print job here as PostScript, and it lands in
# the folder as a PDF file named by the time it was printed (a second job in the same second gets a
# number after the time).
#   print-to-pdf.sh <folder>
folder=$1
mkdir -p "$folder" || exit 1
name="$folder/utskrift-$(date +%Y-%m-%d-%H%M%S)"
file="$name.pdf"
n=2
while [ -e "$file" ]; do file="$name-$n.pdf"; n=$((n + 1)); done
exec ps2pdf - "$file"
