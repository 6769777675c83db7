#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/IPopDlg.h"
#include "family/ActivityInterfaces.h"

namespace PAGESDKUTIL {

using PopList = std::vector<std::shared_ptr<IPopDlg>>;
// Makes the pop-ups that Initialize appends to the list, in the order they are offered scenes.
using PopFactory = std::function<PopList()>;

// The activity controller the export hands to the host. It decides nothing itself: each
// pop-up's CanShow does.
class ActivityUtil final : public IActivityUtil {
 public:
  ActivityUtil();
  explicit ActivityUtil(PopFactory popFactory);
  ~ActivityUtil();

  void* DeletingDestructor(unsigned int flags) override;
  int32_t QueryConstant() override { return 1; }
  void Release() override;
  bool Initialize() override;
  bool Uninitialize() override;
  bool ShowExitSceneActivityDlg(ActivityScene scene, bool* shownNotAccepted) override;

  const PopList& Pops() const { return pops_; }

  // The pop-ups of the product: empty until the new-user discount pop-up exists.
  static PopList CreateProductPops();

 private:
  void InitializeSteps();
  void UninitializeSteps();
  bool ShowExitScene(ActivityScene scene, bool* shownNotAccepted);

  PopFactory popFactory_;
  PopList pops_;
};

}  // namespace PAGESDKUTIL
