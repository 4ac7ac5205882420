#include "session/session.h"

namespace dustora {

Session::Session()
    : document(CurrentDocument()),
      settings(Settings()),
      folders(Folders()),
      holidays(Holidays()),
      periods(NoneTerms()),
      memo(Memo()) {}

}  // namespace dustora
