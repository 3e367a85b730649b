// wynrelay: carries a watched game's output into its log on Windows, where no
// fork makes the relay (platform/output_relay.h). wyn starts it before the
// game, with the game's output pipe as its standard input and the log as its
// standard output; its argument is the log's path.
#include "platform/output_relay.h"

int main() {
    return wyn::runOutputRelay();
}
