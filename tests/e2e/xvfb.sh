# Sourced first by the real-window tests: the script runs again, with its arguments, inside
# a fresh Xvfb display of 1024 x 768 at 24 bits, in the shell it was started in. The tools
# named in $needs must be installed as well as Xvfb, or the test is skipped.
if [ -z "${CRAYVEX_IN_XVFB:-}" ]; then
    for tool in xvfb-run Xvfb ${needs:-}; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    export CRAYVEX_IN_XVFB=1
    # The display search starts at a number of the test's own, so that parallel tests
    # don't race for one.
    exec xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1024x768x24" \
        "$([ -n "${BASH_VERSION:-}" ] && echo bash || echo sh)" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
