#include "engine/medview/engine_startup.h"

#include "engine/mvfs/fs_error.h"
#include "engine/mvmci/media_io.h"

namespace medview {
namespace {

intptr_t g_program_instance = 0;
datapres::EmbedWindowPort* g_embed_port = nullptr;

}  // namespace

void MvStartup(intptr_t instance) {
  mvmci::MvInstallMediaIO();
  g_program_instance = instance;
}

void MvShutdown() {
  mvmci::MvRemoveMediaIO();
  mvfs::FsFreeErrorRecords();
}

void MvSetProgramStrings(datapres::ProgramStringProc proc) { datapres::FrSetProgramStrings(proc); }

intptr_t MvProgramInstance() { return g_program_instance; }

void MvSetEmbedWindowPort(datapres::EmbedWindowPort* port) { g_embed_port = port; }
datapres::EmbedWindowPort* MvEmbedWindowPort() { return g_embed_port; }

}  // namespace medview
