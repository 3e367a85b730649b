#pragma once

#include <string>

#include "replaced.h"

namespace wyn::test {

// Debian's launcher as the quake2 packages make it from one text for the
// client and the server (game-data-packager's quake2.in): what it does is in
// a function main, which reads its own options, falls back to the demo's
// data when the full game's is missing, and execs the engine the
// alternatives name.
inline std::string debianLauncher(bool server, const std::string& data, const std::string& engine) {
    const std::string text = R"sh(#!/bin/sh
# SELF: starts the Quake II ROLE
self="SELF"
role="ROLE"
options="OPTIONS"
data_location=DATA
engine_path=ENGINE
no_data_title="Quake II"
no_data_msg="The game data is missing; see /usr/share/doc/${self}/README.Debian"
use_data_location="$data_location"

main() {
    case "$(basename "$0")" in
        (*reckoning*|*xatrix*)
            set _ "$@" +set game xatrix
            shift
            ;;
        (*groundzero*|*rogue*)
            set _ "$@" +set game rogue
            shift
            ;;
    esac
    while [ $# -gt 0 ]; do
        case "$1" in
            -h|--help)
                show_help
                exit 2
                ;;
            -v|--version)
                show_version
                exit 2
                ;;
            --engine)
                engine_path="$2"
                shift
                ;;
            --engine=*)
                engine_path="${1#--engine=}"
                ;;
            --demo)
                use_data_location="$data_location-demo"
                ;;
            *)
                break
                ;;
        esac
        shift
    done
    if ! [ -f "${use_data_location}/baseq2/pak0.pak" ]; then
        use_data_location="$data_location-demo"
    fi
    if ! [ -f "${use_data_location}/baseq2/pak0.pak" ]; then
        if test "${role}" = server; then
            echo "$no_data_msg" >&2
            exit 72
        else
            exec "$data_location"/need-data.sh "$no_data_title" "$no_data_msg"
        fi
    fi
    exec ${engine_path} ${options} +set basedir "$use_data_location" "$@"
}

show_help() {
    echo "Usage: ${self} [-h|--help] [-v|--version] [--engine BINARY] [--demo] [ARGUMENT]..."
    echo "Starts the Quake II ${role}; other arguments go to the engine."
}

show_version() {
    echo "Debian's Quake II launcher; the engine is $engine_path"
}

main "$@"
)sh";
    // As the package's sed makes the two from one text.
    return replaced(text, {{"SELF", server ? "quake2-server" : "quake2"},
                           {"ROLE", server ? "dedicated server" : "client"},
                           {"OPTIONS", server ? "+set dedicated 1" : ""},
                           {"DATA", data},
                           {"ENGINE", engine}});
}

}  // namespace wyn::test
