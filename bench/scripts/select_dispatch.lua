-- A Select Case dispatch loop over five million values (an if/elseif chain).
local a, b, c, d, e = 0, 0, 0, 0, 0
for i = 1, 5000000 do
  local k = i % 5
  if k == 0 then
    a = a + 1
  elseif k == 1 then
    b = b + 1
  elseif k == 2 then
    c = c + 2
  elseif k == 3 then
    d = d + 3
  else
    e = e + 4
  end
end
print(a, b, c, d, e)
