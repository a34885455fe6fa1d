# Sourced by the bench scripts: what every timed run shares.

touch_mib=${TOUCH_MIB:-3072}

# The median of the numbers on standard input.
median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# Untimed, before every timed run: what the last run wrote goes to the disk, and a few GiB of memory are
# touched, since this kind of machine hands freed memory back to its host and the first use of it is
# several times slower (figures would wander by 3x).
settle_machine() {
    sync
    dd if=/dev/zero of=/dev/shm/tessarin-bench-touch bs=1M count="$touch_mib" status=none
    rm -f /dev/shm/tessarin-bench-touch
}
