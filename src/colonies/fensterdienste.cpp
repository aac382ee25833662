#include "colonies/fensterdienste.h"

#include "shell/ia_zevo.h"

namespace zevo::colonies {

void hauptlisteneulesen() {
  if (shell::IA_ZEVO* hauptfenster = shell::IA_ZEVO::instance()) hauptfenster->datenvölkerlesen();
}

}  // namespace zevo::colonies
