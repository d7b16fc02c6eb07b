#include "testbed/launcher/launcher_options.h"

#include <cmath>
#include <cstdlib>

namespace orv::launcher {

const char kUsage[] =
    "Usage: OrvLauncher [--scenario NAME|FILE] [--speed FACTOR] [--batch] [--window|--console]\n"
    "                   [--screenshot FOLDER] [--list] [--help]\n"
    "\n"
    "Runs the update window (OrvUpdateUI.dll, obtained through the testbed's OrvFact.dll as\n"
    "Orvex.ini beside this program says) and plays an update scenario into it.\n"
    "\n"
    "  --scenario NAME|FILE  a shipped scenario by name (see --list) or a scenario file;\n"
    "                        default full_update\n"
    "  --speed FACTOR        how fast the scenario's delays pass at a terminal, 0.05 to 100\n"
    "                        (default 1; + and - change it while the launcher runs)\n"
    "  --batch               no keys: play the scenario's script, print each new frame and a\n"
    "                        summary, exit 0 when the run ended as the scenario expects\n"
    "                        (the mode whenever standard input or output is not a terminal)\n"
    "  --window              show the update window as a real window (Windows builds only;\n"
    "                        the default there when a person is at the terminal): use it with\n"
    "                        the mouse and keyboard; the scenario's steps go on meanwhile\n"
    "  --console             draw the update window as text at the terminal instead\n"
    "  --screenshot FOLDER   save a picture of the window at each new frame, numbered and\n"
    "                        named by the view: FOLDER/0007_download.bmp (implies --window;\n"
    "                        with --batch too)\n"
    "  --list                the shipped scenarios, one line each\n"
    "  --help                this text\n"
    "\n"
    "Keys at the terminal: c Cancel, r Retry, s Start game, p Proxy, g play the current\n"
    "version (when an advised update was given up), space pause, + faster, - slower, l the\n"
    "module's log, q quit; in a message box y Yes, n No, o OK, x Cancel (Enter: the default\n"
    "button); in the proxy dialog 0/1/2 the proxy type (none, SOCKS5, HTTP), a address, t port,\n"
    "u user, w password, d domain (Enter ends the text, Esc drops it), e Test, k OK, x Cancel,\n"
    "z Close.\n"
    "Exit status: 0 as expected, 1 when a batch run did not end as its scenario expects, 2 for\n"
    "bad input (options, scenario, configuration, layouts).\n";

namespace {

bool ParseSpeed(const std::string& value, double* speed, std::string* error) {
  char* end = nullptr;
  const double parsed = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != '\0' || !std::isfinite(parsed) || parsed < kSlowestSpeed ||
      parsed > kFastestSpeed) {
    *error = "--speed takes a number from 0.05 to 100, not \"" + value + "\"";
    return false;
  }
  *speed = parsed;
  return true;
}

}  // namespace

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--batch") {
      options->batch = true;
    } else if (arg == "--window" || arg == "--console") {
      const View view = arg == "--window" ? View::kWindow : View::kConsole;
      if (options->view != View::kDefault && options->view != view) {
        *error = "--window and --console exclude each other";
        return false;
      }
      options->view = view;
    } else if (arg == "--list") {
      options->list = true;
    } else if (arg == "--help" || arg == "-h") {
      options->help = true;
    } else if (arg == "--scenario" || arg == "--speed" || arg == "--screenshot") {
      if (i + 1 >= argc) {
        *error = arg + " needs a value (see --help)";
        return false;
      }
      const std::string value = argv[++i];
      if (arg == "--screenshot") {
        if (value.empty()) {
          *error = "--screenshot needs a folder";
          return false;
        }
        options->screenshot_folder = value;
      } else if (arg == "--scenario") {
        if (value.empty()) {
          *error = "--scenario needs a name or a file (see --list)";
          return false;
        }
        options->scenario = value;
      } else if (!ParseSpeed(value, &options->speed, error)) {
        return false;
      }
    } else {
      *error = "unknown option \"" + arg + "\" (see --help)";
      return false;
    }
  }
  if (!options->screenshot_folder.empty() && options->view == View::kConsole) {
    *error = "--screenshot takes pictures of the window, which --console does not show";
    return false;
  }
  return true;
}

}  // namespace orv::launcher
