#pragma once

// The host's contract with the activity module: one export, DllGetClassObject, hands out an
// IActivityUtil for the interface id below. The tables are laid out as the host's compiler lays
// out a class whose first virtual function is its destructor: slot 0 is a single entry, the
// deleting destructor taking a flags word (bit 0: free the memory). Member calls use the
// platform's member calling convention (thiscall on 32-bit).

#include <windows.h>

#include <cstdint>

namespace PAGESDKUTIL {

// {00c0fa90-fe67-431d-bb90-27f76723a5d0}
inline constexpr GUID kActivityInterfaceId = {
    0x00c0fa90, 0xfe67, 0x431d, {0xbb, 0x90, 0x27, 0xf7, 0x67, 0x23, 0xa5, 0xd0}};

using ActivityScene = int32_t;

enum BaseInterfaceSlot : int {
  kSlotDestructor = 0,
  kSlotQueryConstant = 1,
  kSlotRelease = 2,
  kSlotInitialize = 3,
  kSlotUninitialize = 4,
  kSlotShowExitSceneActivityDlg = 5,
};

class IBaseInterface {
 public:
  virtual void* DeletingDestructor(unsigned int flags) = 0;  // 0
  virtual int32_t QueryConstant() = 0;                       // 1: always 1
  virtual void Release() = 0;                                 // 2: destroys the object
  virtual bool Initialize() = 0;                              // 3
  virtual bool Uninitialize() = 0;                            // 4

 protected:
  ~IBaseInterface() = default;  // destruction goes through slot 0 or 2
};

class IActivityUtil : public IBaseInterface {
 public:
  // 5: shows the first pop-up that may show at this scene; *shownNotAccepted is written only
  // when one was shown.
  virtual bool ShowExitSceneActivityDlg(ActivityScene scene, bool* shownNotAccepted) = 0;

 protected:
  ~IActivityUtil() = default;
};

static_assert(sizeof(bool) == 1, "the host reads bool results as one byte");
static_assert(sizeof(ActivityScene) == 4, "the scene is a 32-bit integer in both architectures");
static_assert(sizeof(GUID) == 16 && alignof(GUID) == 4, "interface ids are passed by address");
// An interface is its table pointer and nothing else: the host reaches the slots through it.
static_assert(sizeof(IBaseInterface) == sizeof(void*) && sizeof(IActivityUtil) == sizeof(void*));
#if defined(__i386__)
static_assert(sizeof(void*) == 4, "the shipped build is 32-bit");
#elif defined(__x86_64__)
static_assert(sizeof(void*) == 8);
#endif

}  // namespace PAGESDKUTIL
