// The host objects the plug-in reaches through virtual slots: view objects,
// the image shapes they make, and analysis shapes.  Each acting slot is
// recorded; a slot the contract leaves unnamed is recorded as "Object.N", so
// that a call through a wrong slot shows in the output.  The simulator owns
// every object until it is destroyed; ReleaseShape only records.
#ifndef SHIMWELL_TOOLS_HOSTSIM_HOST_OBJECTS_SIM_H_
#define SHIMWELL_TOOLS_HOSTSIM_HOST_OBJECTS_SIM_H_

#include <map>
#include <memory>
#include <vector>

#include "host/host_objects.h"
#include "tools/hostsim/host_answers.h"
#include "tools/hostsim/recorder.h"

namespace hostsim {

// A slot the contract leaves unnamed: it records "Object.N".
#define UNNAMED_SLOT(n) \
  void Reserved##n() override { Unnamed(n); }

class ImageShape final : public OrvikComponentInterface::IImageShape {
 public:
  ImageShape(Recorder* recorder, const HostAnswers* answers) : recorder_(recorder), answers_(answers) {}
  ~ImageShape() = default;

  UNNAMED_SLOT(0)
  UNNAMED_SLOT(1)
  UNNAMED_SLOT(2)
  UNNAMED_SLOT(3)
  UNNAMED_SLOT(4)
  UNNAMED_SLOT(5)
  UNNAMED_SLOT(6)
  void SetGeometry(float x, float y, float width, float height) override;
  void SetVisible(bool visible) override;
  UNNAMED_SLOT(9)
  UNNAMED_SLOT(10)
  void SetImage(int a, int b, int c, int d, const char* path, int display_value) override;
  bool IsVisible() override { return answers_->shape_visible; }

 private:
  void Unnamed(int slot);
  Recorder* recorder_;
  const HostAnswers* answers_;
};

class AnalysisShape final : public OrvikComponentInterface::IAnalysisShape {
 public:
  explicit AnalysisShape(Recorder* recorder) : recorder_(recorder) {}
  ~AnalysisShape() = default;

  UNNAMED_SLOT(0)
  UNNAMED_SLOT(1)
  void ConfigureShape(const char* key, const char* text, const char* extra) override;
  UNNAMED_SLOT(3)
  UNNAMED_SLOT(4)
  UNNAMED_SLOT(5)
  UNNAMED_SLOT(6)
  UNNAMED_SLOT(7)
  UNNAMED_SLOT(8)
  UNNAMED_SLOT(9)
  UNNAMED_SLOT(10)
  void ReleaseShape() override;

 private:
  void Unnamed(int slot);
  Recorder* recorder_;
};

class HostObjects;

class ViewObject final : public OrvikComponentInterface::IViewObject {
 public:
  ViewObject(Recorder* recorder, HostObjects* owner) : recorder_(recorder), owner_(owner) {}
  ~ViewObject() = default;

  UNNAMED_SLOT(0)
  UNNAMED_SLOT(1)
  UNNAMED_SLOT(2)
  UNNAMED_SLOT(3)
  UNNAMED_SLOT(4)
  UNNAMED_SLOT(5)
  UNNAMED_SLOT(6)
  UNNAMED_SLOT(7)
  UNNAMED_SLOT(8)
  UNNAMED_SLOT(9)
  OrvikComponentInterface::IImageShape* CreateShape(const char* kind) override;

 private:
  void Unnamed(int slot);
  Recorder* recorder_;
  HostObjects* owner_;
};

// Makes and owns the host objects.
class HostObjects {
 public:
  HostObjects(Recorder* recorder, const HostAnswers* answers) : recorder_(recorder), answers_(answers) {}

  // The view object of a view, made on first use.
  ViewObject* View(int index);
  ImageShape* NewImageShape();
  AnalysisShape* NewAnalysisShape();

 private:
  Recorder* recorder_;
  const HostAnswers* answers_;
  std::map<int, std::unique_ptr<ViewObject>> views_;
  std::vector<std::unique_ptr<ImageShape>> image_shapes_;
  std::vector<std::unique_ptr<AnalysisShape>> analysis_shapes_;
};

#undef UNNAMED_SLOT

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_HOST_OBJECTS_SIM_H_
