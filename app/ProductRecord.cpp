#include "app/ProductRecord.h"

namespace {

const int listRoom = 1024;
const int listMaximum = 262144;

} // namespace

ProductRecord::ProductRecord()
    : modelCode(""), displayName(""), companionName(""),
      systemFiles(listRoom, listMaximum), applicationFiles(listRoom, listMaximum),
      dataExtensions(listRoom, listMaximum), pluginFiles(listRoom, listMaximum),
      sharedFiles(listRoom, listMaximum), iniFile(""), driverFile(""), serviceName(""),
      extraServiceName(""), menuGroup(""), shortcuts(listRoom, listMaximum)
{
}
