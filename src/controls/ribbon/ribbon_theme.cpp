// The three looks: colours and the 26 pictures of each, from the custom
// resources "BLACK", "BLUE" and "SILVER".
#include "controls/ribbon/ribbon_bar.h"
#include "controls/ribbon/ribbon_resources.h"
#include "platform/vb/error.h"

namespace ctl {

namespace {

const char* ResourceType(int theme) {
  switch (theme) {
    case 0: return "BLACK";
    case 1: return "BLUE";
    case 2: return "SILVER";
    default: return "";
  }
}

struct Colours {
  uint32_t catCaption, tabNormal, tabSelected, buttonCaption, back, fore;
};

// OLE colours, 0x00BBGGRR.
const Colours kColours[] = {
    {0xFFFFFF, 0xFFFFFF, 0x000000, 0x80000008, 0x464646, 0xFFFFFF},
    {0xB86A3E, 0x8B4215, 0x8B4215, 0x8B4215, 0xDAB08E, 0x8B4215},
    {0x6A625C, 0x6A625C, 0x6A625C, 0x6A625C, 0xDDD4D0, 0x6A625C},
};

}  // namespace

void RibbonBar::ApplyTheme(int theme) {
  using P = Piece;
  const char* type = ResourceType(theme);
  if (!*type) type = "BLACK";  // an unknown value keeps the colours
  else {
    const Colours& c = kColours[theme];
    E(P::Cat_Caption, 0).fore = c.catCaption;
    tabForeNormal_ = c.tabNormal;
    tabForeSelected_ = c.tabSelected;
    E(P::Button_Caption, 0).fore = c.buttonCaption;
    backColor_ = c.back;
    foreColor_ = c.fore;
  }
  static const std::pair<int, Piece> kPictures[] = {
      {101, P::Barra2},           {102, P::BarraLeft},         {103, P::BarraRight},
      {118, P::Cat_Dlg},          {119, P::Cat_Dlg_on},        {120, P::Cat_Dlg_over},
      {121, P::Cat_Left_off},     {122, P::Cat_Center_off},    {123, P::Cat_Right_off},
      {124, P::Cat_Left_on},      {125, P::Cat_Center_on},     {126, P::Cat_Right_on},
      {127, P::Tab_left},         {128, P::Tab_center},        {129, P::Tab_right},
      {130, P::Tab_left_over},    {131, P::Tab_center_over},   {132, P::Tab_right_over},
      {133, P::Glip_off},         {134, P::Glip_on},           {135, P::Button_left_over},
      {136, P::Button_center_over}, {137, P::Button_right_over}, {138, P::Button_left},
      {139, P::Button_center},    {140, P::Button_right}};
  // The first picture that fails ends the theme change, the pictures before
  // it already in place; the colours are set by then.
  struct Redraw {
    RibbonBar* self;
    ~Redraw() { self->Invalidate(); }
  } redraw{this};
  for (const auto& [id, piece] : kPictures) SetPicture(E(piece, 0), LoadResPicture(id, type));
}

RibbonPicture RibbonBar::LoadBackground() const {
  const char* type = ResourceType(theme_);
  if (!*type)
    throw vb::Error(5, "Invalid procedure call or argument", ExeName() + ".cLoadResPicture");
  return LoadResPicture(141, type);
}

}  // namespace ctl
