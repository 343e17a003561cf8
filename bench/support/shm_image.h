// An MIT-SHM image of the display's default visual and depth over a System V
// segment made for it: attached to the server on construction, detached and
// freed on destruction (before the display closes). The segment is marked
// for removal once attached, so a crashed run leaves none behind.
// Depends on: Xlib with MIT-SHM, System V shared memory. Opens no display.
#pragma once

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace bench {

struct ShmImage {
  ShmImage(Display* d, int width, int height)
      : display(d),
        image(XShmCreateImage(d, DefaultVisual(d, 0), DefaultDepth(d, 0), ZPixmap, nullptr, &segment, width, height)) {
    segment.shmid = shmget(IPC_PRIVATE, std::size_t(image->bytes_per_line) * height, IPC_CREAT | 0600);
    segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    XShmAttach(display, &segment);
    XSync(display, False);
    shmctl(segment.shmid, IPC_RMID, nullptr);
  }
  ~ShmImage() {
    XShmDetach(display, &segment);
    XSync(display, False);
    shmdt(segment.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
  }
  ShmImage(const ShmImage&) = delete;
  ShmImage& operator=(const ShmImage&) = delete;

  Display* display;
  XShmSegmentInfo segment{};
  XImage* image;
};

}  // namespace bench
