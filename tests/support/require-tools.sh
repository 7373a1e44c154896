# Sourced by test scripts. require_tools TOOL... (a command, a path, py:MODULE of the system Python)
# returns when all are there; else it names what is missing and ends the test as skipped (77), or as
# failed where every tool is required: under the test command (TOMIRA_REQUIRE_TOOLS=1) and in CI.
require_tools() {
  local missing=() tool
  for tool in "$@"; do
    if [[ $tool == py:* ]]; then /usr/bin/python3 -c "import ${tool#py:}" 2>/dev/null || missing+=("python3 module ${tool#py:}")
    else command -v "$tool" >/dev/null 2>&1 || missing+=("$tool"); fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "missing: ${missing[*]} (scripts/deps.sh installs them)" >&2
  [ "${TOMIRA_REQUIRE_TOOLS:-}" = 1 ] || [ "${CI:-}" = true ] && { echo "required here: failed" >&2; exit 1; }
  echo "skipped" >&2
  exit 77
}
