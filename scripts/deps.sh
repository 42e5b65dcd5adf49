# Sourced by run.sh, test.sh and bench.sh: installs the Debian packages that are missing,
# and only those, so that a machine that already has everything is never touched.

tq_missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            printf '%s\n' "$pkg"
    done
}

tq_ensure_packages() {
    local missing
    missing=$(tq_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $(echo $missing)"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# What every build needs.
TQ_BUILD_PACKAGES="build-essential cmake ninja-build"
# What the test build adds: the test framework, the fuzzing compiler and its runtime, the
# locales that the localisation tests use, the outside oracle of the XML reader, and the peers
# that the benchmarks are compiled against.
TQ_TEST_PACKAGES="libgtest-dev libgmock-dev clang-14 libclang-rt-14-dev llvm-14 locales gettext
    libxml2-dev libbenchmark-dev pkg-config libglib2.0-dev libssl-dev libspdlog-dev libevent-dev
    libre2-dev libpcre2-dev nlohmann-json3-dev rapidjson-dev libsimdjson-dev libtinyxml2-dev
    libpugixml-dev"

tq_jobs() { nproc 2>/dev/null || echo 2; }
