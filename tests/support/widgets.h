// What the windows' tests share: controls found by name, texts written in
// UTF-8, and the files a window reads or wrote.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>
#include <QtTest>

namespace zlc::test {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The control of that name under `parent`; a missing one ends the test
// run, since every check after it would be about nothing.
template <typename W>
W* FindIn(const QObject* parent, const char* name) {
  auto* w = parent->findChild<W*>(name);
  if (!w) qFatal("no control %s", name);
  return w;
}

// The file's bytes, or a text no file of the program holds when it cannot
// be read.
inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A file with these bytes, as a user or another program left it.
inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace zlc::test
