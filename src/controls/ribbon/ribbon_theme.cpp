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
  const char* type = ResourceType(theme);
  if (!*type) type = "BLACK";  // an unknown value keeps the colours
  else {
    const Colours& c = kColours[theme];
    ElementAt(Piece::Cat_Caption, 0).fore = c.catCaption;
    tabForeNormal_ = c.tabNormal;
    tabForeSelected_ = c.tabSelected;
    ElementAt(Piece::Button_Caption, 0).fore = c.buttonCaption;
    backColor_ = c.back;
    foreColor_ = c.fore;
  }
  static const std::pair<int, Piece> kPictures[] = {
      {101, Piece::Barra2},             {102, Piece::BarraLeft},          {103, Piece::BarraRight},
      {118, Piece::Cat_Dlg},            {119, Piece::Cat_Dlg_on},         {120, Piece::Cat_Dlg_over},
      {121, Piece::Cat_Left_off},       {122, Piece::Cat_Center_off},     {123, Piece::Cat_Right_off},
      {124, Piece::Cat_Left_on},        {125, Piece::Cat_Center_on},      {126, Piece::Cat_Right_on},
      {127, Piece::Tab_left},           {128, Piece::Tab_center},         {129, Piece::Tab_right},
      {130, Piece::Tab_left_over},      {131, Piece::Tab_center_over},    {132, Piece::Tab_right_over},
      {133, Piece::Glip_off},           {134, Piece::Glip_on},
      {135, Piece::Button_left_over},   {136, Piece::Button_center_over}, {137, Piece::Button_right_over},
      {138, Piece::Button_left},        {139, Piece::Button_center},      {140, Piece::Button_right}};
  // The first picture that fails ends the theme change, the pictures before
  // it already in place; the colours are set by then.
  struct Redraw {
    RibbonBar* self;
    ~Redraw() { self->Invalidate(); }
  } redraw{this};
  for (const auto& [id, piece] : kPictures)
    SetPicture(ElementAt(piece, 0), LoadResPicture(id, type));
}

RibbonPicture RibbonBar::LoadBackground() const {
  const char* type = ResourceType(theme_);
  if (!*type)
    throw vb::Error(5, "Invalid procedure call or argument", ExeName() + ".cLoadResPicture");
  return LoadResPicture(141, type);
}

}  // namespace ctl
