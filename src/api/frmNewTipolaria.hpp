// frmNewTipolaria: the page-range form. It is never shown, and nothing reads
// the range and copies it would show: the prints take the component's range
// and the driver's copies. Its font (Trebuchet MS 6.75 pt) is what long texts
// are measured in when they are fitted to their boxes, through the runtime's
// text metrics of that font. The first InitializePagesData loads it; it stays
// loaded.
#ifndef TIPOLARIA_API_FRMNEWTIPOLARIA_HPP_
#define TIPOLARIA_API_FRMNEWTIPOLARIA_HPP_

namespace tipolaria {

class frmNewTipolaria {
 public:
  // Loading a loaded form does nothing.
  void Load() { loaded_ = true; }
  bool IsLoaded() const { return loaded_; }

 private:
  bool loaded_ = false;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_API_FRMNEWTIPOLARIA_HPP_
