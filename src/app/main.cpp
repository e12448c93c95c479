// The executable: the Linux backends behind the services, then the start-up procedure.
#include "app/linux_services.h"
#include "startup/start_up.h"

int main(int argc, char** argv) {
  const sonaru::LinuxServices services(argc, argv);
  return sonaru::Main();
}
