#!/usr/bin/env python3
"""Checks the Grafana dashboard and the Prometheus rules shipped in contrib/.

The dashboard must be a model Grafana imports as it is (a schema version, unique panel ids,
panels that do not overlap, every query on the ${datasource} variable), every query must be
PromQL that promtool accepts, and every glinter_ metric the dashboard or the rules name must
be one the exporter writes: a renamed metric would otherwise leave an empty panel or an alert
that never fires, and the rules' own unit test would not notice.

usage: checkcontrib.py PROMTOOL EXPOSITION_CPP RULES_YML DASHBOARD_JSON
"""
import json
import re
import subprocess
import sys
import tempfile

# Grafana's own variables, replaced by what they stand for at query time.
GRAFANA_VARIABLES = {
    "$__rate_interval": "5m",
    "$__interval": "1m",
    "$__range": "1d",
    "$instance": ".*",
}
METRIC = re.compile(r"(?<![\w:])glinter_[a-z_]+(?![\w:])")

failures = []


def fail(message):
    failures.append(message)


def panels_of(container):
    for panel in container.get("panels", []):
        yield panel
        yield from panels_of(panel)  # a collapsed row holds its panels


def uses_datasource_variable(reference):
    return isinstance(reference, dict) and reference.get("uid") in ("${datasource}", "$datasource")


def check_dashboard(dashboard):
    """The queries of the dashboard, by a name for each."""
    if not isinstance(dashboard.get("schemaVersion"), int) or dashboard["schemaVersion"] < 36:
        fail("schemaVersion missing or older than 36 (datasource references by uid)")
    for key in ("title", "uid"):
        if not dashboard.get(key):
            fail(f"no dashboard {key}")

    variables = dashboard.get("templating", {}).get("list", [])
    if not any(v.get("name") == "datasource" and v.get("type") == "datasource" and v.get("query") == "prometheus"
               for v in variables):
        fail("no templating variable 'datasource' of type datasource for prometheus")

    queries = {}
    for variable in variables:
        if variable.get("type") != "query":
            continue
        if not uses_datasource_variable(variable.get("datasource")):
            fail(f"variable {variable.get('name')}: datasource is not ${{datasource}}")
        query = variable.get("query")
        query = query.get("query", "") if isinstance(query, dict) else query or ""
        # label_values(METRIC, label): the metric is the PromQL part.
        match = re.fullmatch(r"\s*label_values\((.+),\s*\w+\)\s*", query)
        queries[f"variable {variable.get('name')}"] = match.group(1) if match else query

    ids = set()
    cells = {}
    for panel in panels_of(dashboard):
        title = f"panel {panel.get('id')} ({panel.get('title')})"
        if not isinstance(panel.get("id"), int) or panel["id"] in ids:
            fail(f"{title}: id missing or not unique")
        ids.add(panel.get("id"))
        grid = panel.get("gridPos", {})
        x, y, w, h = (grid.get(k) for k in ("x", "y", "w", "h"))
        if not all(isinstance(n, int) for n in (x, y, w, h)) or x < 0 or w < 1 or h < 1 or x + w > 24:
            fail(f"{title}: gridPos {grid} outside the 24 columns")
        else:
            for cell in ((cx, cy) for cx in range(x, x + w) for cy in range(y, y + h)):
                if cell in cells:
                    fail(f"{title}: overlaps {cells[cell]}")
                    break
                cells[cell] = title
        targets = panel.get("targets", [])
        if targets and not uses_datasource_variable(panel.get("datasource")):
            fail(f"{title}: datasource is not ${{datasource}}")
        for target in targets:
            if "datasource" in target and not uses_datasource_variable(target["datasource"]):
                fail(f"{title} query {target.get('refId')}: datasource is not ${{datasource}}")
            if not target.get("expr"):
                fail(f"{title} query {target.get('refId')}: no expression")
                continue
            queries[f"{title} query {target.get('refId')}"] = target["expr"]
    if not ids:
        fail("no panels")
    return queries


def check_with_promtool(promtool, queries):
    rules = []
    for number, (name, expr) in enumerate(queries.items()):
        for variable in sorted(GRAFANA_VARIABLES, key=len, reverse=True):
            expr = expr.replace(variable, GRAFANA_VARIABLES[variable])
        if "$" in expr:
            fail(f"{name}: unknown variable in {expr}")
        rules.append({"record": f"dashboard:query_{number}", "expr": expr})
    # JSON is YAML: promtool reads the file as it is written.
    with tempfile.NamedTemporaryFile("w", suffix=".yml") as file:
        json.dump({"groups": [{"name": "dashboard", "rules": rules}]}, file)
        file.flush()
        result = subprocess.run([promtool, "check", "rules", file.name], capture_output=True, text=True)
    if result.returncode != 0:
        names = "\n".join(f"  dashboard:query_{n}: {name}" for n, name in enumerate(queries))
        fail(f"promtool rejects a dashboard query:\n{result.stdout}{result.stderr}{names}")


def main():
    promtool, exposition, rules_file, dashboard_file = sys.argv[1:5]
    with open(exposition, encoding="utf-8") as file:
        exported = set(re.findall(r'"(glinter_[a-z_]+)', file.read()))
    with open(dashboard_file, encoding="utf-8") as file:
        dashboard = json.load(file)
    with open(rules_file, encoding="utf-8") as file:
        rules_text = file.read()

    queries = check_dashboard(dashboard)
    check_with_promtool(promtool, queries)

    named = {(metric, f"dashboard, {name}") for name, expr in queries.items() for metric in METRIC.findall(expr)}
    named |= {(metric, rules_file) for metric in METRIC.findall(rules_text)}
    for metric, where in sorted(named):
        if metric not in exported:
            fail(f"{where}: {metric} is not a metric the exporter writes")

    for message in failures:
        print(f"FAIL: {message}")
    print(f"{len(queries)} dashboard queries, {len(named)} metric references checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
