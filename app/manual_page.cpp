#include "app/manual_page.h"

#include "app/run_options.h"

namespace {

constexpr const char* kHead = R"(.TH VULCARA 6 "" "vulcara @VERSION@" "Games"
.SH NAME
vulcara \- a volcanic island erupts in real-time 3D
.SH SYNOPSIS
.B vulcara
[\fIoptions\fR]
.SH DESCRIPTION
A volcanic island stands in an animated, half-transparent ocean under a churning sky.
An intro camera flight with captions ends on "Press Any Key"; a key press sets off the
eruption (rumble, blast, shock wave, lava spray, lava spreading over the island, fires),
and then you fly freely around the island with the mouse and the arrow keys.
Sound throughout, and a drop-down console with its own commands.
.SH OPTIONS
Without options the demo runs in a window.
The options serve tests, captures and benchmarks.
A relative FILE or DIR means the folder the program was started in.
)";

constexpr const char* kTail = R"(.SH INPUT SCRIPTS
An input script, read with \-\-input and written by \-\-record\-input, has one event per line,
at a time in seconds of the program's clock.
A # starts a comment that runs to the end of the line
(a text event types a # written as \e#, and drops the blanks before a comment).
A script holds at most 262,144 events, each character a text event types counting as one:
.PP
.EX
# keys: VK names (VK_ optional), letters, digits, F1..F24 or numbers
1.0  keydown LEFT
1.5  keyup   LEFT
2.0  key     ESCAPE   # down, then up
3.0  char    96       # one character by its code
3.5  text    /help\er  # \er is Enter, \et Tab, \e# a hash, \e\e a backslash
4.0  mouse   400 300  # the pointer moves to client coordinates
5.0  close            # the window is closed
.EE
.SH CONTROLS
.TP
any key, a tap, or a game controller's A or Start, once "Press Any Key" shows
start the eruption
.TP
arrow keys, a controller's d-pad or left stick
during free exploration: a step forward, back or sideways per key press, repeating while held
.TP
mouse, a one-finger drag, a controller's right stick
during free exploration: turn and tilt the view
.TP
Alt+Enter, F11
switch between the window and full screen; the picture keeps its shape between black bars
.TP
\(ga or \(ti, a controller's Back
open and close the console; /help lists its commands
.TP
Escape
quit
.SH FILES
.TP
.I @DATA@
the generated art and sound, and the default config.ini; the program only reads it.
Started in a folder that holds a data folder's manifest.txt (the build's, for example),
it uses that folder instead, config.ini and conout.log included.
.TP
.I $XDG_CONFIG_HOME/vulcara/config.ini
the user's settings, read in place of the default when present:
\%displaymode= 0 (a window) or a full-screen width and height,
\%waterdetail= low, med or high, \%showfps= 1 or 0
.TP
.I $XDG_STATE_HOME/vulcara/conout.log
every line the console prints, written as it is printed
.SH ENVIRONMENT
.TP
.B XDG_CONFIG_HOME
default ~/.config
.TP
.B XDG_STATE_HOME
default ~/.local/state
.PP
A value that is empty or not an absolute path is ignored.
.SH EXIT STATUS
0 after a normal end, 1 when the start-up fails (a data folder that is missing or
incomplete included), 2 for unknown options and bad values.
)";

void Replace(std::string* text, const std::string& placeholder, const std::string& value) {
  for (size_t at = text->find(placeholder); at != std::string::npos;
       at = text->find(placeholder, at + value.size())) {
    text->replace(at, placeholder.size(), value);
  }
}

// Text as roff shows it literally: backslashes and minus signs escaped, and nothing that could
// read as a request at the start of a line.
std::string Roff(const std::string& text) {
  std::string out = "\\&";
  for (char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string ManualPage(const char* version) {
  std::string page = kHead;
  for (const RunOptionHelp& option : RunOptionsHelp()) {
    page += ".TP\n.B " + Roff(option.name);
    if (option.value) page += " \\fI" + Roff(option.value) + "\\fR";
    page += "\n" + Roff(option.help) + "\n";
  }
  page += kTail;
  Replace(&page, "@VERSION@", version);
  Replace(&page, "@DATA@", VULCARA_PACKAGED_DATA_FOLDER "/");
  return page;
}
