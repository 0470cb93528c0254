// The products the machine has installed, as the console program finds them.
#pragma once

#include "foundation/String.h"

class ConsoleStream;
class ProductRecord;

// The installation folder as a run works it out (readUninstallEntry), told as the
// run's items are: with single backslashes. False, with why there is none.
bool findInstallationFolder(const ProductRecord& product, String& folder, String& why);

// The "list" command: a line per installed product (model code, name, folder or
// why there is none), or with json one document of them; the exit code.
int listProducts(bool json, ConsoleStream& out, ConsoleStream& err);
