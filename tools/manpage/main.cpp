// zel-manpage TEMPLATE OUT VERSION PROGRAM [ARG...]: runs PROGRAM --help and writes the manual page.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "ManPage.h"
#include "io/AtomicFile.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fputs("usage: zel-manpage TEMPLATE OUT VERSION PROGRAM\n", stderr);
    return 2;
  }
  std::ifstream templateFile(argv[1], std::ios::binary);
  std::ostringstream templateText;
  templateText << templateFile.rdbuf();
  FILE* help = popen(("\"" + std::string(argv[4]) + "\" --help").c_str(), "r");
  std::string helpText;
  char buffer[4096];
  for (size_t n = 0; help && (n = std::fread(buffer, 1, sizeof buffer, help)) > 0;)
    helpText.append(buffer, n);
  const int status = help ? pclose(help) : -1;
  if (!templateFile || status != 0 || helpText.empty()) {
    std::fprintf(stderr, "zel-manpage: cannot read %s or the help of %s\n", argv[1], argv[4]);
    return 1;
  }
  const std::string page = CManPage::Render(templateText.str(), helpText, argv[3]);
  if (!CAtomicFile::Write(argv[2], page.data(), page.size())) {
    std::fprintf(stderr, "zel-manpage: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
