# Sourced by the real-window tests. sanitizer_report FILE...: true when a program of the
# sanitizer build wrote a report (memory error, leak, undefined behaviour) into one of
# these error outputs.
sanitizer_report() {
    grep -q -E '^==[0-9]+==ERROR: |runtime error: ' "$@" 2>/dev/null
}
