// The entry point: on Windows a windowless program whose command line is
// the text after its name; elsewhere the arguments joined by single blanks.

#include <string>

#include "launcher/wharfgate.h"

#ifdef _WIN32
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  return Wharfgate::RunWharfgate(command_line != nullptr ? command_line : "");
}

#else

int main(int argc, char** argv) {
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  return Wharfgate::RunWharfgate(command_line);
}

#endif
