# Sourced first by the real-window tests: the script runs again, with its arguments, on a
# fresh Xvfb display of 1024 x 768 at 24 bits of its own, in the shell it was started in.
# The tools named in $needs must be installed as well as Xvfb and xauth, or the test is
# skipped.
if [ -z "${CRAYVEX_IN_XVFB:-}" ]; then
    for tool in Xvfb xauth mcookie ${needs:-}; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    export CRAYVEX_IN_XVFB=1
    . "$(dirname "$0")/display.sh"
    with_display 1024x768x24 "$([ -n "${BASH_VERSION:-}" ] && echo bash || echo sh)" "$0" "$@"
    exit $?
fi
export QT_QPA_PLATFORM=xcb
