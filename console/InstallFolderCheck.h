// Whether a folder given on the command line may be taken for a product's
// installation folder, and why not.
#pragma once

#include "foundation/String.h"

class ProductRecord;

// The folder, absolute and with its backslash, when it holds at least one of the
// product's application files (a file, not a folder of that name) and no
// protected-folder rule refuses it; empty otherwise, with why.
String acceptedInstallFolder(const ProductRecord& product, const String& given, String& why);
