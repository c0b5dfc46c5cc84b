// The Qt widget behind one window. It shows the window's retained surface and turns Qt input into
// the layer's queued messages; it never decides anything about the window itself.
#pragma once

#include <QWidget>

#include "platform/base/win_types.h"

class PlatformWidget : public QWidget {
 public:
  PlatformWidget(HWND window, QWidget* parent, Qt::WindowFlags flags);
  HWND window() const { return window_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  HWND window_;
};
