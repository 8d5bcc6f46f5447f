#!/usr/bin/env bash
# Fails when a folder includes a folder it must not. The allowed directions
# are the table below, and only there: engine and texts at the bottom, the
# thin Windows layer (win32/) above them, the window layer (ui/) knowing no
# subsystem, the commands above what they need of the host (hostapi/), the
# exported callbacks (host/) on top of the plug-in, and the simulator, the
# tools, the tests, benchmarks and fuzz targets above everything. A folder
# always includes its own files; "*" allows every folder. A source folder
# missing from the table fails too, so that a new one is placed on purpose.
# Reads every `#include "dir/..."` line of the tree's .h and .cpp files.
# Usage: check-includes.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

rules='
texts
engine        texts
win32         engine texts
ui            win32
settings      engine texts ui win32
hostapi       engine settings texts win32
commands      engine hostapi settings texts ui win32
host          commands engine hostapi settings texts ui win32
tools/check   engine settings texts win32
sim           *
tools/gallery *
tests         *
bench         *
fuzz          *
'

cd "$root"
git ls-files -co --exclude-standard -- '*.h' '*.cpp' | grep -v '^build/' |
  xargs grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' /dev/null |
  awk -v rules="$rules" '
    # The folder of a path: its first part, or its first two under tools/ and tests/.
    function folder(path,   parts) {
      split(path, parts, "/")
      if (parts[1] == "tools" || parts[1] == "tests") return parts[1] "/" parts[2]
      return parts[1]
    }
    function rule(name) {
      if (name in allowed) return name
      sub(/\/.*/, "", name)  # tests/engine falls under tests
      return (name in allowed) ? name : ""
    }
    BEGIN {
      n = split(rules, lines, "\n")
      for (i = 1; i <= n; ++i) {
        if (split(lines[i], words, " ") == 0) continue
        allowed[words[1]] = " " words[1]
        for (w = 2; w in words; ++w) allowed[words[1]] = allowed[words[1]] " " words[w]
        allowed[words[1]] = allowed[words[1]] " "
      }
    }
    {
      split($0, at, ":")
      file = at[1]; line = at[2]
      included = $0
      sub(/^[^"]*"/, "", included); sub(/".*/, "", included)
      if (included !~ /\//) next  # a file beside the includer
      from = rule(folder(file))
      if (from == "") {
        if (!(folder(file) in unplaced)) print "check-includes: " folder(file) "/ is in no rule of scripts/check-includes.sh"
        unplaced[folder(file)] = 1; bad = 1; next
      }
      to = folder(included)
      if (from == to || allowed[from] ~ / \* / || index(allowed[from], " " to " ")) next
      print file ":" line ": includes " included ", but " from "/ may include only" allowed[from]
      bad = 1
    }
    END { exit bad }'
echo "check-includes: every include follows the folder rules"
