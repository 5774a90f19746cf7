// The page's script, a file of its own so that the page's policy runs no inline script.
"use strict";
const FLAGS = [["hide", "Показать/спрятать"], ["on_top", "Всегда впереди"],
               ["fix_text", "Фиксировать текст"], ["lock", "Блокировать"]];
const $ = (id) => document.getElementById(id);

// The token comes once in the address's fragment and is kept on this
// device; the fragment is then wiped from the address bar.
function takeToken() {
  const m = location.hash.match(/token=([A-Za-z0-9_-]+)/);
  if (m) {
    localStorage.setItem("dalvimo-token", m[1]);
    history.replaceState(null, "", location.pathname);
  }
  return localStorage.getItem("dalvimo-token");
}
const token = takeToken();

function say(text) { $("message").textContent = text || ""; }

async function api(method, path, body) {
  const options = { method, headers: { "Authorization": "Bearer " + token } };
  if (body !== undefined) {
    options.headers["Content-Type"] = "application/json";
    options.body = JSON.stringify(body);
  }
  let reply;
  try {
    reply = await fetch("/api/" + path, options);
  } catch (e) {
    throw new Error("Нет связи с dalvimo-web");
  }
  let data = {};
  try { data = await reply.json(); } catch (e) { /* no body */ }
  if (reply.status === 401) {
    $("pair").hidden = false;
    throw new Error("Ключ сопряжения не подходит");
  }
  if (!reply.ok) throw new Error(data.error || ("Ошибка " + reply.status));
  return data;
}

// Every change: clear the old message, send, show what came back.
async function act(method, path, body, after) {
  say("");
  try {
    const data = await api(method, path, body);
    if (after) after(data);
    return data;
  } catch (e) {
    say(e.message);
  }
}

function el(tag, props, children) {
  const e = document.createElement(tag);
  Object.assign(e, props || {});
  for (const c of children || []) e.append(c);
  return e;
}

function showAlarm(a) {
  const row = $("alarm-" + a.number) || el("div", { className: "alarm", id: "alarm-" + a.number });
  const pad = (n) => String(n).padStart(2, "0");
  const [h, m] = a.time.split(":");
  const time = el("input", { type: "time", step: 1, value: pad(h) + ":" + m + ":" + pad(a.second) });
  time.setAttribute("aria-label", "Время будильника " + a.number);
  const on = el("input", { type: "checkbox", checked: a.on });
  const ring = el("input", { type: "text", value: a.ring });
  ring.setAttribute("aria-label", "Текст звонка " + a.number);
  const save = el("button", { type: "button", textContent: "Сохранить" });
  save.setAttribute("aria-label", "Сохранить будильник " + a.number);
  save.addEventListener("click", () => {
    const body = { time: time.value.length === 5 ? time.value + ":00" : time.value, on: on.checked };
    if (ring.value !== a.ring) body.ring = ring.value;
    act("POST", "alarm/" + a.number, body, (d) => showAlarm(d.alarm));
  });
  row.replaceChildren(
    el("div", { className: "row" }, [el("strong", { textContent: "№" + a.number }), time,
      el("label", {}, [on, "вкл."])]),
    el("div", { className: "row" }, [ring, save]));
  if (!row.parentNode) $("alarms").append(row);
}

function fillLevels(select, record) {
  select.replaceChildren();
  select.disabled = !record || record.supported === false;
  if (select.disabled) { select.append(el("option", { textContent: "не поддерживается" })); return; }
  for (const level of record.levels) select.append(el("option", { value: level, textContent: level + " %" }));
  select.value = record.level;
}

function showStatus(s) {
  for (const a of s.alarms) showAlarm(a);
  showSkin(s.skin);
  fillLevels($("transparency"), s.transparency);
  fillLevels($("brightness"), s.brightness);
  $("flags").replaceChildren();
  for (const [key, caption] of FLAGS) {
    const box = el("input", { type: "checkbox", checked: s.flags[key] === true });
    box.indeterminate = s.flags[key] === null;
    box.addEventListener("change", () =>
      act("POST", "flag/" + key.replace("_", "-"), { on: box.checked }, refresh));
    $("flags").append(el("div", { className: "row" }, [el("label", {}, [box, caption])]));
  }
  $("panel").hidden = false;
}

function showSkin(k) {
  $("skin-name").textContent = k.name + " (" + k.position + "/" + k.last + ")";
  $("style-name").textContent = k.style + " (" + k.style_position + "/" + k.style_count + ")";
}

async function refresh() {
  const s = await act("GET", "status");
  if (s) showStatus(s);
}

async function poll() {
  try {
    await api("GET", "ping");
    $("state").className = "ok";
    $("state").textContent = "Quorvan отвечает, " + new Date().toLocaleTimeString("ru-RU");
  } catch (e) {
    $("state").className = "bad";
    $("state").textContent = "Quorvan не отвечает: " + e.message;
  }
}

$("silence").addEventListener("click", () =>
  act("POST", "silence", undefined, () => say("")).then((d) => { if (d) $("state").textContent = "Сигнал отключён"; }));
$("toggle").addEventListener("click", () =>
  act("POST", "alarms-toggle", undefined, (d) => d.alarms.forEach(showAlarm)));
for (const b of document.querySelectorAll("[data-step]")) {
  const [what, step] = b.dataset.step.split(":");
  b.addEventListener("click", () => act("POST", what, { step }, (d) => showSkin(d.skin)));
}
for (const what of ["transparency", "brightness"])
  $(what).addEventListener("change", () => act("POST", what, { level: $(what).value }, refresh));

if (!token) {
  $("pair").hidden = false;
} else {
  refresh();
  poll();
  setInterval(poll, 5000);
}
