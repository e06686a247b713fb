#include <velloran/picture.hpp>

#include <velloran/border.hpp>

namespace velloran {

cPicture::cPicture() : Border(std::make_shared<cBorder>()) {}

}  // namespace velloran
