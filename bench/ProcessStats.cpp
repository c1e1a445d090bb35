#include "ProcessStats.h"

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace processStats {

long residentKiB() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  if (fields.size() < 2) return -1;
  return fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

long heapInUseKiB() { return long(mallinfo2().uordblks / 1024); }

int openDescriptors() {
  // The listing itself holds one descriptor while it reads; it is not counted.
  return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size()) - 1;
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace processStats
