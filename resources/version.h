#pragma once
// The program's version: shown by the About box as major.minor.revision and
// written into the version resource.
#define VESPERKIT_VERSION_MAJOR 1
#define VESPERKIT_VERSION_MINOR 0
#define VESPERKIT_VERSION_REVISION 1
#define VESPERKIT_VERSION_TEXT "1.0.0.1"
#define VESPERKIT_PRODUCT_NAME "Vesperkit"
#define VESPERKIT_COMPANY_NAME "Quillfield Systems Ltd"
