#include "base/result.h"

#include <cstring>

namespace base {

Error Error::from_errno(int code)
{
    return Error(std::strerror(code), code);
}

Error Error::from_errno(int code, std::string const& context)
{
    return Error(context + ": " + std::strerror(code), code);
}

}
