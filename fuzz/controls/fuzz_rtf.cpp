// Reads arbitrary bytes as rich text into a document.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/controls/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Fonts need an application; the offscreen platform serves.
  static int argc = 3;
  static char name[] = "fuzz_rtf", option[] = "-platform", platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  static QGuiApplication* app = std::make_unique<QGuiApplication>(argc, argv).release();
  (void)app;
  QTextDocument document;
  controls::read_rtf(std::string_view(reinterpret_cast<const char*>(data), size), document);
  return 0;
}
