#include "win32/picture_box.h"

namespace velmora {

PictureBox::PictureBox(std::span<const std::uint8_t> picture)
    : picture_(picture, [](const std::string &fault) { OutputDebugStringA(fault.c_str()); })
{}

PictureBox::~PictureBox()
{
    if (systemPicture_ != nullptr)
        DeleteMetaFile(systemPicture_);
}

// Drawn off screen and then shown in one copy, so that the box never shows half a picture.
void PictureBox::Draw(const DRAWITEMSTRUCT &item)
{
    const Metafile *picture = picture_.Get(); // read at the first win; only bytes that pass go to the system
    if (picture != nullptr && systemPicture_ == nullptr) {
        const std::span<const std::uint8_t> bytes = picture->StandardBytes();
        systemPicture_ = SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data());
    }
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    HDC memory = CreateCompatibleDC(item.hDC);
    HBITMAP canvas = CreateCompatibleBitmap(item.hDC, width, height);
    HGDIOBJ previous = SelectObject(memory, canvas);
    const RECT whole{0, 0, width, height};
    FillRect(memory, &whole, GetSysColorBrush(COLOR_BTNFACE));
    if (picture != nullptr && systemPicture_ != nullptr) {
        const MetafileBounds bounds = picture->Bounds();
        const int saved = SaveDC(memory); // the copy below reads the canvas in pixels
        SetMapMode(memory, MM_ANISOTROPIC);
        SetWindowOrgEx(memory, bounds.left, bounds.top, nullptr);
        SetWindowExtEx(memory, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr);
        SetViewportExtEx(memory, width, height, nullptr);
        PlayMetaFile(memory, systemPicture_);
        RestoreDC(memory, saved);
    }
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(canvas);
    DeleteDC(memory);
}

} // namespace velmora
