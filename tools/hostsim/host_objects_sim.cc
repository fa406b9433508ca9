#include "tools/hostsim/host_objects_sim.h"

#include <string>

namespace hostsim {
namespace {

void RecordUnnamed(Recorder* recorder, const char* object, int slot) {
  recorder->HostCall(std::string(object) + "." + std::to_string(slot));
}

}  // namespace

void ImageShape::Unnamed(int slot) { RecordUnnamed(recorder_, "ImageShape", slot); }

void ImageShape::SetGeometry(float x, float y, float width, float height) {
  recorder_->HostCall("SetGeometry", x, y, width, height);
}

void ImageShape::SetVisible(bool visible) { recorder_->HostCall("SetVisible", visible); }

void ImageShape::SetImage(int a, int b, int c, int d, const char* path, int display_value) {
  recorder_->HostCall("SetImage", a, b, c, d, path, display_value);
}

void AnalysisShape::Unnamed(int slot) { RecordUnnamed(recorder_, "AnalysisShape", slot); }

void AnalysisShape::ConfigureShape(const char* key, const char* text, const char* extra) {
  recorder_->HostCall("ConfigureShape", key, text, extra);
}

void AnalysisShape::ReleaseShape() { recorder_->HostCall("ReleaseShape"); }

void ViewObject::Unnamed(int slot) { RecordUnnamed(recorder_, "ViewObject", slot); }

OrvikComponentInterface::IImageShape* ViewObject::CreateShape(const char* kind) {
  recorder_->HostCall("CreateShape", kind);
  return owner_->NewImageShape();
}

ViewObject* HostObjects::View(int index) {
  std::unique_ptr<ViewObject>& view = views_[index];
  if (!view) view = std::make_unique<ViewObject>(recorder_, this);
  return view.get();
}

ImageShape* HostObjects::NewImageShape() {
  image_shapes_.push_back(std::make_unique<ImageShape>(recorder_, answers_));
  return image_shapes_.back().get();
}

AnalysisShape* HostObjects::NewAnalysisShape() {
  analysis_shapes_.push_back(std::make_unique<AnalysisShape>(recorder_));
  return analysis_shapes_.back().get();
}

}  // namespace hostsim
