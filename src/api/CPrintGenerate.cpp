// GenerateIMP: one declaration's pages into IMP, reported as JSON.
#include <exception>
#include <new>

#include "api/ComponentState.hpp"
#include "api/JsonResult.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria {
namespace {

// An application error number of our own, next to the not-initialised one.
constexpr long kErrDeclarationNotFound = detail::kErrNotInitialized + 1;

}  // namespace

std::string CPrint::GenerateIMP(const std::string& pNombreDespachante, const std::string& pIddtext,
                                const std::string& pIdOrig, const std::string& pFecOfi,
                                std::int16_t pOper, const std::string& pCanal,
                                const std::string& pRamo, const std::string& pMorado,
                                const std::string& pOrg, const std::string& pEta) {
  try {
    // Runs before the generation, so the range is clamped against the pages
    // of the driver's previous generation (none for a new driver).
    InitializePagesData();
    auto& state = detail::State();
    CTipolaria& driver = *state.gDriver;
    driver.FecOfi = pFecOfi;
    driver.Oper = pOper;
    driver.Canal = pCanal;
    driver.Ramo = pRamo;
    driver.Morado = pMorado;
    // When only one identifier is given, both properties carry it.
    driver.IdOrig = pIdOrig.empty() ? pIddtext : pIdOrig;
    driver.Iddtext = pIddtext.empty() ? pIdOrig : pIddtext;
    driver.DefineRotulo(pOper, pOrg, pEta);
    driver.LiquidacionImpresa = true;
    // The identifiers go on as received: the declaration is looked up by
    // pIddtext alone.
    if (!driver.CargarCampos(*state.gDataBase, pIddtext, pIdOrig, pFecOfi, pNombreDespachante)) {
      // Reporting success here would leave the host printing an empty IMP.
      throw ComError(kErrDeclarationNotFound, "GenerateIMP",
                     "No se encontró la declaración '" + pIddtext + "'");
    }
    return detail::JsonOk();
  } catch (const ComError& e) {
    return detail::JsonFailure(e, "GenerateIMP");
  } catch (const std::bad_alloc&) {
    return detail::JsonFailure(
        ComError(kErrOutOfMemory, kRuntimeSource, RuntimeErrorDescription(kErrOutOfMemory)),
        "GenerateIMP");
  } catch (const std::exception& e) {
    return detail::JsonFailure(ComError(kErrInternal, kRuntimeSource, e.what()), "GenerateIMP");
  } catch (...) {
    return detail::JsonFailure(
        ComError(kErrInternal, kRuntimeSource, RuntimeErrorDescription(kErrInternal)),
        "GenerateIMP");
  }
}

}  // namespace tipolaria
