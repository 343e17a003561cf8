// MIT-SHM images with a client-memory fallback. The segment is attached with
// X errors trapped (a remote or restricted server refuses it) and marked for
// removal as soon as both sides hold it, so that no segment outlives us.
// Depends on: Xlib, MIT-SHM, System V shared memory. Converts no pixels.
#include "display/x11/x11_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <mutex>

#include <X11/Xutil.h>

namespace platform::display::x11 {
namespace {

// The error handler is process-wide: one trap at a time.
std::mutex trap_mutex;
bool trapped_error = false;

int record_error(Display*, XErrorEvent*) {
  trapped_error = true;
  return 0;
}

// Attaches the segment to the server; false when the server refused it.
bool attach_trapped(Display* display, XShmSegmentInfo* segment) {
  std::lock_guard<std::mutex> lock(trap_mutex);
  trapped_error = false;
  XSync(display, False);
  const auto previous = XSetErrorHandler(record_error);
  const bool sent = XShmAttach(display, segment) == True;
  XSync(display, False);
  XSetErrorHandler(previous);
  return sent && !trapped_error;
}

XImage* create_shared(const Connection& connection, int width, int height, XShmSegmentInfo* segment) {
  Display* display = connection.display();
  XImage* ximage =
      XShmCreateImage(display, connection.visual(), connection.depth(), ZPixmap, nullptr, segment, width, height);
  if (ximage == nullptr) return nullptr;
  segment->shmid = shmget(IPC_PRIVATE, static_cast<size_t>(ximage->bytes_per_line) * height, IPC_CREAT | 0600);
  if (segment->shmid >= 0) {
    segment->shmaddr = ximage->data = static_cast<char*>(shmat(segment->shmid, nullptr, 0));
    segment->readOnly = False;
    const bool mapped = segment->shmaddr != reinterpret_cast<char*>(-1);
    const bool attached = mapped && attach_trapped(display, segment);
    shmctl(segment->shmid, IPC_RMID, nullptr);
    if (attached) return ximage;
    if (mapped) shmdt(segment->shmaddr);
  }
  ximage->data = nullptr;
  XDestroyImage(ximage);
  return nullptr;
}

XImage* create_client_side(const Connection& connection, int width, int height) {
  XImage* ximage = XCreateImage(connection.display(), connection.visual(), static_cast<unsigned>(connection.depth()),
                                ZPixmap, 0, nullptr, static_cast<unsigned>(width), static_cast<unsigned>(height), 32,
                                0);
  if (ximage == nullptr) return nullptr;
  ximage->data = static_cast<char*>(std::malloc(static_cast<size_t>(ximage->bytes_per_line) * height));
  if (ximage->data == nullptr) {
    XDestroyImage(ximage);
    return nullptr;
  }
  return ximage;
}

}  // namespace

std::unique_ptr<Image> Image::create(const Connection& connection, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  // The XImage keeps a pointer to the segment record: it lives in the Image.
  std::unique_ptr<Image> image(new Image(connection.display()));
  if (connection.has_shm()) image->ximage_ = create_shared(connection, width, height, &image->segment_);
  image->shared_ = image->ximage_ != nullptr;
  if (!image->shared_) image->ximage_ = create_client_side(connection, width, height);
  if (image->ximage_ == nullptr) return nullptr;
  return image;
}

Image::Image(Display* display) : display_(display) {}

Image::~Image() {
  if (ximage_ == nullptr) return;
  if (shared_) {
    XShmDetach(display_, &segment_);
    // The server must have let go before our mapping goes.
    XSync(display_, False);
    shmdt(segment_.shmaddr);
    ximage_->data = nullptr;
  }
  XDestroyImage(ximage_);
}

void Image::put(Drawable drawable, GC gc, const RECT& area) const {
  const int x = static_cast<int>(area.left);
  const int y = static_cast<int>(area.top);
  const auto width = static_cast<unsigned>(area.right - area.left);
  const auto height = static_cast<unsigned>(area.bottom - area.top);
  if (shared_) {
    XShmPutImage(display_, drawable, gc, ximage_, x, y, x, y, width, height, False);
  } else {
    XPutImage(display_, drawable, gc, ximage_, x, y, x, y, width, height);
  }
}

bool Image::get(Drawable drawable, int x, int y) {
  if (shared_) return XShmGetImage(display_, drawable, ximage_, x, y, AllPlanes) == True;
  return XGetSubImage(display_, drawable, x, y, static_cast<unsigned>(width()), static_cast<unsigned>(height()),
                      AllPlanes, ZPixmap, ximage_, 0, 0) != nullptr;
}

}  // namespace platform::display::x11
