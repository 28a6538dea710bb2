#pragma once

namespace orvalen {

class Launcher;
class Notifier;
class PlanRepository;
class ProgramFolder;

// Exports the saved plans (序号, 阶段名称, 动态文本, 总时长, 长期计时) as the
// worksheet "sheet1" through the program's one spreadsheet export.
void exportPlanTable(const PlanRepository& plans, const ProgramFolder& folder, Launcher& launcher, Notifier& notifier);

} // namespace orvalen
