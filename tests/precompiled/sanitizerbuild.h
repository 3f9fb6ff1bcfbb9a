// The headers most files of the tree include, parsed once per target in the sanitizer build
// (tests/CMakeLists.txt); each part only where the target links its library.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#ifdef QT_GUI_LIB
#include <QImage>
#include <QPainter>
#endif

#ifdef QT_WIDGETS_LIB
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#endif

#ifdef QT_TESTLIB_LIB
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#endif
