// A box's picture: read when it is first wanted, and said why once where it cannot be read.

#include "picture/picture.h"

#include <string>

namespace velmora {

const Metafile *BoxPicture::Get()
{
    if (!read_) {
        read_ = Metafile::Read(bytes_);
        if (const auto *error = std::get_if<MetafileError>(&*read_); error != nullptr && report_ != nullptr)
            report_("picture unreadable at byte " + std::to_string(error->offset) + ": " + error->what);
    }
    return std::get_if<Metafile>(&*read_);
}

} // namespace velmora
