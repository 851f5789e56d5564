# Sourced by the scripts that start the built program: the section of the
# example picture (sand, backfill and road base) written as the section file
# in a folder.
#   write_example_section FOLDER
write_example_section() {
    {
        for _ in $(seq 11); do printf '\r\n'; done
        printf ' 3 \r\n'
        printf '%s\r\n' SABBIA 0.3 0.2 0.1 0.5 A.01
        printf '%s\r\n' REINTERRO '*1.2' 0.2 0.1 0.5 A.02
        printf '%s\r\n' MASSICCIATA 0.4 0.5 0.1 0 A.03
    } >"$1/ComputoPersonalizzato.txt"
}
