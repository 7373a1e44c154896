# Sourced. require_tools TOOL... (a command, a path, py:MODULE) returns when all are there; else it names the
# missing and ends as skipped (77), or failed where all are required (TOMIRA_REQUIRE_TOOLS=1, CI).
require_tools() {
  local missing=() tool
  for tool in "$@"; do
    if [[ $tool == py:* ]]; then /usr/bin/python3 -c "import ${tool#py:}" 2>/dev/null || missing+=("python3 module ${tool#py:}")
    else command -v "$tool" >/dev/null 2>&1 || missing+=("$tool"); fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "missing: ${missing[*]} (scripts/deps.sh test installs them)" >&2
  [ "${TOMIRA_REQUIRE_TOOLS:-}" = 1 ] || [ "${CI:-}" = true ] && { echo "required here: failed" >&2; exit 1; }
  echo "skipped" >&2
  exit 77
}
