// Repairs standard input line by line; with --explain, says on standard error how each changed
// line was repaired, as labels that qor::Apply replays.
#include <qor/qor.h>

#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  const bool explain = argc > 1 && std::strcmp(argv[1], "--explain") == 0;
  std::string line;
  while (std::getline(std::cin, line)) {
    try {
      if (!explain) {
        std::cout << qor::Fix(line) << '\n';
        continue;
      }
      const qor::RepairCandidate best = qor::Diagnose(line, 1).at(0);
      std::cout << best.result << '\n';
      if (best.chain.empty()) continue;
      std::cerr << "qor-cli apply --";
      for (const std::string& label : best.chain) std::cerr << " '" << label << "'";
      std::cerr << "  # " << best.explanation << '\n';
    } catch (const std::exception& error) {
      std::cerr << "qor_fix_lines: " << error.what() << '\n';
      return 1;
    }
  }
}
