#!/bin/sh
# Writes CHANGELOG.md as a Debian changelog on stdout: each "## VERSION - YYYY-MM-DD" heading
# becomes an entry, each paragraph or "- " item a "*" item under it. Other sections, such as
# "## Unreleased", are left out.
#   debian-changelog.sh CHANGELOG.md PACKAGE "NAME <EMAIL>"
set -eu
awk -v package="$2" -v maintainer="$3" '
function finish() {
  if (version != "")
    printf "\n -- %s  %s\n\n", maintainer, date
}
/^## / {
  finish()
  version = ""
}
/^## [0-9]/ {
  if ($3 != "-" || $4 !~ /^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/) {
    print "CHANGELOG.md: not \"## VERSION - YYYY-MM-DD\": " $0 > "/dev/stderr"
    failed = 1
    exit 1
  }
  version = $2
  command = "date -u -R -d " $4
  command | getline date
  close(command)
  printf "%s (%s) unstable; urgency=medium\n\n", package, version
  fresh = 1
  next
}
version == "" { next }
/^$/ { fresh = 1; next }
/^- / { sub(/^- /, ""); printf "  * %s\n", $0; fresh = 0; next }
{
  sub(/^ +/, "")
  printf (fresh ? "  * %s\n" : "    %s\n"), $0
  fresh = 0
}
END { if (!failed) finish() }
' "$1"
