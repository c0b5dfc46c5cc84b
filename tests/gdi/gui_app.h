// The Qt application the drawing tests need for fonts (offscreen, made once).
#pragma once

#include <QGuiApplication>

inline QGuiApplication& gui_app() {
  static int argc = 1;
  static char name[] = "gdi_test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}
