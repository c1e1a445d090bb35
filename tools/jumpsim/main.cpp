#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "Jumpsim.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("jumpsim"));
  QTextStream out(stdout);
  QTextStream err(stderr);
  return runJumpsim(QCoreApplication::arguments(), out, err);
}
