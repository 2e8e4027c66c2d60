# What the end-to-end scripts share: skipping when a tool is missing, a
# scratch folder removed at exit, and failures counted to the end.
# Source it, then call finish last.

# Skips the whole script (exit 0 with SKIP) unless every tool is installed.
require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool not installed"
      exit 0
    fi
  done
}

# Makes a scratch folder, enters it and removes it at exit.
enter_scratch() {  # name
  work=$(mktemp -d "${TMPDIR:-/tmp}/tamrel-$1-XXXXXX") || exit 1
  trap 'rm -rf "$work"' EXIT
  cd "$work" || exit 1
}

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
  fi
  echo "OK"
}
