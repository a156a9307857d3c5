#pragma once

#include "metering/conversion_error.h"

namespace dvx {

// A misuse of the page printer or a failure of the printing system while it sends pages.
class EPagePrinter : public Error {
public:
    using Error::Error;
};

} // namespace dvx
