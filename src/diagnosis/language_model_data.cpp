// The trained model, built into the program so that it needs no file at run time: the assembler
// copies language_model.bin into the read-only data.

#include "diagnosis/language_model.h"

#ifndef QOR_LANGUAGE_MODEL_FILE
#error "QOR_LANGUAGE_MODEL_FILE names the model to build in"
#endif

asm(".pushsection .rodata\n"
    ".balign 16\n"
    "qor_language_model_begin:\n"
    ".incbin \"" QOR_LANGUAGE_MODEL_FILE
    "\"\n"
    "qor_language_model_end:\n"
    ".popsection\n");

extern "C" const char qor_language_model_begin[];
extern "C" const char qor_language_model_end[];

namespace qor {

const LanguageModel& LanguageModel::BuiltIn() {
  static const LanguageModel model = [] {
    const BytesView bytes(
        qor_language_model_begin,
        static_cast<std::size_t>(qor_language_model_end - qor_language_model_begin));
    // A model that does not read is a fault of the build, caught by the tests; an empty model
    // then reads every text alike, so diagnosis changes nothing.
    return FromBytes(bytes).value_or(LanguageModel{});
  }();
  return model;
}

}  // namespace qor
