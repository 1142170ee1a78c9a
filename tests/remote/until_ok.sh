# Sourced by the end-to-end scripts: until_ok SECONDS COMMAND... waits up to SECONDS for the
# command to succeed, looking again every 0.2 s; returns 1 when it never did.
until_ok() {
    local seconds=$1; shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.2
    done
}
